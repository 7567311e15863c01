Object
{
	mName : WallPieceAlongX
	Transform
	{
		transformData : 		TransformData
		{
			WorldPosition : 			MetaVec3
			{
				x_ : 0
				y_ : 3
				z_ : 0
			}
			WorldScalar : 			MetaVec3
			{
				x_ : 22.5
				y_ : 6
				z_ : 1
			}
		}
	}
	RigidBody
	{
		m_damping : 1
		m_invMass : 0
		m_mass : 0
		m_static : 1
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
			x_ : 11.25
			y_ : 3
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
			x_ : 22.5
			y_ : 6
			z_ : 1
		}
		m_collisionGroup : 0
		m_ghost : 0
		m_shapeType : 1
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
			x_ : 0.5
			y_ : 0.5
			z_ : 0.55
		}
		m_ModelName : wall
		m_ShaderName : defaultshader
		m_TextureName : defaulttexture 
		m_Transparent : 0
		m_Visible : 1
	}
}

