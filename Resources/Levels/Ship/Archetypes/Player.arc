Object
{
	mName : Player
	Transform
	{
		transformData : 		TransformData
		{
			WorldPosition : 			MetaVec3
			{
				x_ : 0
				y_ : 1
				z_ : 0
			}
			WorldScalar : 			MetaVec3
			{
				x_ : 1
				y_ : 2
				z_ : 1
			}
		}
	}
	RigidBody
	{
		m_damping : 0
		m_invMass : 1
		m_mass : 1
		m_static : 0
		m_useGravity : 0
		m_velocity : 		MetaVec3
		{
			x_ : 0
			y_ : 0
			z_ : 0
		}
	}
	Collider
	{
		m_AabbHalfExtents : 		MetaVec3
		{
			x_ : 0.5
			y_ : 1
			z_ : 0.5
		}
		m_ObbLocalCenter : 		MetaVec3
		{
			x_ : 0
			y_ : 0
			z_ : 0
		}
		m_ObbScale : 		MetaVec3
		{
			x_ : 1
			y_ : 2
			z_ : 1
		}
		m_collisionGroup : 0
		m_ghost : 0
		m_shapeType : 1
	}
	Controller
	{
		mLookSpeed : 4
	}
	Camera
	{
	}
	PlayerStats
	{
		Damp_ : 0
		Speed_ : 10
	}
	Gun
	{
		mAmmoType : 0
		mCDPerFrame : 20
		mHeatPerRifleShot : 12
		mHeatPerSpreadShot : 30
		mMaxHeatLevel : 100
		mMuzzleVel : 40
		mPelletsPerSGBlast : 5
		mShotDelay : 0.4
		mShotOriginDisplacement : 1
		mSpreadDelay : 0.9
		mSpreadGunBlastRadius : 0.6
	}
	Light
	{
		diffuse_ : 		MetaVec3
		{
			x_ : 1
			y_ : 1
			z_ : 0.9
		}
		direction_ : 		MetaVec3
		{
			x_ : 0
			y_ : 0
			z_ : -1
		}
		exteriorAngle_ : 30
		intensity_ : 2
		interiorAngle_ : 15
		lightType_ : 1
		range_ : 25
	}
	Renderable
	{
		m_BlendFactors : 		MetaVec4
		{
			w_ : 1
			x_ : 0.75
			y_ : 0.75
			z_ : 0.75
		}
		m_Color : 		MetaVec4
		{
			w_ : 1
			x_ : 0.9
			y_ : 0.9
			z_ : 0.9
		}
		m_ModelName : player
		m_ShaderName : textureshader
		m_TextureName : diver 
		m_Transparent : 0
		m_Visible : 1
	}
}

