Object
{
	mName : Player_1_Flare
	Transform
	{
		transformData : 		TransformData
		{
			WorldPosition : 			MetaVec3
			{
				x_ : 0
				y_ : 0.15
				z_ : 0
			}
			WorldScalar : 			MetaVec3
			{
				x_ : 0.3
				y_ : 0.3
				z_ : 0.3
			}
		}
	}
	Light
	{
		diffuse_ : 		MetaVec3
		{
			x_ : 1
			y_ : 0.3
			z_ : 0.3
		}
		intensity_ : 2
		lightType_ : 0
		range_ : 15
	}
	LifeTime
	{
		timeAllowedToLive_ : 15
		timeSpentAlive_ : 0
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
			x_ : 1
			y_ : 0.3
			z_ : 0.3
		}
		m_ModelName : flare
		m_ShaderName : defaultshader
		m_TextureName : defaulttexture 
		m_Transparent : 0
		m_Visible : 1
	}
}

